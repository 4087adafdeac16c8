// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <thread>

namespace korv {

/// Reads the system's face configuration on a thread of its own, from construction until wait().
class FaceConfigLoader final {
public:
    FaceConfigLoader();
    ~FaceConfigLoader();
    FaceConfigLoader(const FaceConfigLoader&) = delete;
    FaceConfigLoader& operator=(const FaceConfigLoader&) = delete;

    /// Returns once the configuration is read, so that the first face asked for finds it.
    void wait();

private:
    std::thread m_thread;
};

} // namespace korv
