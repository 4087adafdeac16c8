// SPDX-License-Identifier: GPL-3.0-or-later
#include "admin.h"

namespace korv::win32 {

bool isAdministrator() {
    HANDLE token = nullptr;
    if (!OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, &token)) {
        if (GetLastError() != ERROR_NO_TOKEN ||
            !OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
            return false;
        }
    }
    alignas(TOKEN_GROUPS) unsigned char buffer[1024];
    DWORD size = 0;
    const BOOL read = GetTokenInformation(token, TokenGroups, buffer, sizeof buffer, &size);
    CloseHandle(token);
    if (!read) {
        return false;
    }
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID admins = nullptr;
    if (!AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0,
                                  0, 0, 0, 0, 0, &admins)) {
        return false;
    }
    const auto* groups = reinterpret_cast<const TOKEN_GROUPS*>(buffer);
    bool found = false;
    for (DWORD i = 0; i < groups->GroupCount && !found; ++i) {
        found = EqualSid(groups->Groups[i].Sid, admins) != 0;
    }
    FreeSid(admins);
    return found;
}

} // namespace korv::win32
