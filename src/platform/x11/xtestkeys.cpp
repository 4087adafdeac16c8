// SPDX-License-Identifier: GPL-3.0-or-later
#include "xtestkeys.h"

#include <dlfcn.h>

namespace korv::platform {
namespace {

using QueryExtension = int (*)(Display*, int*, int*, int*, int*);

// Opened at the first paste rather than linked: a start that never pastes never maps it, nor
// the library it needs in turn. Kept open, like any library once loaded.
void* library() {
    static void* const handle = dlopen("libXtst.so.6", RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    return handle;
}

} // namespace

std::optional<XTestKeys> XTestKeys::on(Display* dpy) {
    void* handle = dpy != nullptr ? library() : nullptr;
    if (handle == nullptr) {
        return std::nullopt;
    }
    const auto query = reinterpret_cast<QueryExtension>(dlsym(handle, "XTestQueryExtension"));
    const auto fake = reinterpret_cast<FakeKeyEvent>(dlsym(handle, "XTestFakeKeyEvent"));
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (query == nullptr || fake == nullptr ||
        query(dpy, &eventBase, &errorBase, &major, &minor) == 0) {
        return std::nullopt;
    }
    return XTestKeys(dpy, fake);
}

void XTestKeys::send(KeyCode code, bool press) const {
    m_fake(m_dpy, code, press ? True : False, CurrentTime);
}

} // namespace korv::platform
