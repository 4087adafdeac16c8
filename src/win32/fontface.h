// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

#include <span>
#include <string>

namespace korv::win32 {

// The first of the faces that is installed, else the last one (which the font mapper replaces).
std::wstring firstInstalledFace(std::span<const wchar_t* const> faces);

// Whether a face of that name is installed (or added for this program).
bool faceInstalled(const wchar_t* face);

} // namespace korv::win32
