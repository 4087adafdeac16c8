// SPDX-License-Identifier: GPL-3.0-or-later
// Test tool: what a screen reader is told of each control of a window. Prints one line
// "class<TAB>label<TAB>name" per control: the static just before it in the window order, which
// MSAA takes as its label, and the name MSAA gives, in UTF-8, for the first top-level window of
// the class; with --focus, the line of the control that has the keyboard focus alone; with
// --texts, "class<TAB>text" of every control, statics too (a message box's text is one).
// Usage: controllabels <class> [--focus | --texts]
#include <windows.h>

#include <oleacc.h>

#include <algorithm>
#include <string>

namespace {

std::wstring g_out;

std::wstring classOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring take(BSTR text) {
    std::wstring result = text != nullptr ? std::wstring(text, SysStringLen(text)) : L"";
    SysFreeString(text);
    return result;
}

// The name, then for each of up to three simple children an indented "name<TAB>description"
// line.
std::wstring accessibleName(HWND window) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object)))) {
        return L"?";
    }
    VARIANT id;
    VariantInit(&id);
    id.vt = VT_I4;
    id.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    object->get_accName(id, &name);
    std::wstring result = take(name);
    long count = 0;
    object->get_accChildCount(&count);
    IDispatch* child = nullptr;
    for (id.lVal = 1; id.lVal <= std::min(count, 3L); ++id.lVal) {
        if (object->get_accChild(id, &child) == S_FALSE) {
            BSTR description = nullptr;
            object->get_accName(id, &name);
            object->get_accDescription(id, &description);
            result += L"\n  " + take(name) + L"\t" + take(description);
        } else if (child != nullptr) {
            child->Release();
        }
    }
    object->Release();
    return result;
}

BOOL CALLBACK eachChild(HWND child, LPARAM) {
    if (classOf(child) == L"Static") {
        return TRUE;
    }
    HWND before = GetWindow(child, GW_HWNDPREV);
    wchar_t label[256] = {};
    if (before != nullptr && classOf(before) == L"Static") {
        GetWindowTextW(before, label, 256);
    }
    g_out += classOf(child) + L"\t" + label + L"\t" + accessibleName(child) + L"\n";
    return TRUE;
}

BOOL CALLBACK eachText(HWND child, LPARAM) {
    wchar_t text[1024] = {};
    GetWindowTextW(child, text, 1024);
    g_out += classOf(child) + L"\t" + text + L"\n";
    return TRUE;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc == 3 ? argv[2] : L"";
    if (argc != 2 && !(argc == 3 && (mode == L"--focus" || mode == L"--texts"))) {
        return 2;
    }
    HWND window = FindWindowW(argv[1], nullptr);
    if (window == nullptr) {
        return 1;
    }
    CoInitialize(nullptr);
    if (mode == L"--texts") {
        EnumChildWindows(window, eachText, 0);
    } else if (mode == L"--focus") {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) &&
            info.hwndFocus != nullptr) {
            eachChild(info.hwndFocus, 0);
        }
    } else {
        EnumChildWindows(window, eachChild, 0);
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, g_out.c_str(), static_cast<int>(g_out.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, g_out.c_str(), static_cast<int>(g_out.size()), bytes.data(),
                        size, nullptr, nullptr);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()),
              &written, nullptr);
    CoUninitialize();
    return 0;
}
