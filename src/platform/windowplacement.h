#pragma once

namespace korv::platform {

/// Whether the desktop lets a program place its windows and tells it where they are.
class WindowPlacement {
public:
    virtual ~WindowPlacement() = default;
    /// False where the compositor alone places windows and reports no position to the program.
    virtual bool placesWindows() const = 0;
};

} // namespace korv::platform
