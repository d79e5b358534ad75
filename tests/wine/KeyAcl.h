// A registry key that refuses writing, as a locked-down profile or a full
// disk does: for the tests that make a write fail for real.
#pragma once

#include <windows.h>

#include <aclapi.h>

// Gives the key (made when missing) a protected DACL: Everyone may do
// anything but, with deny, set values or make subkeys. Wine honours the deny
// entry. False when the ACL could not be set.
inline bool DenyWritingKey(HKEY root, const wchar_t* path, bool deny)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, path, 0, nullptr, 0, READ_CONTROL | WRITE_DAC, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    BYTE sid[SECURITY_MAX_SID_SIZE];
    DWORD sidSize = sizeof(sid);
    EXPLICIT_ACCESS_W entries[2] = {};
    PACL acl = nullptr;
    bool set = CreateWellKnownSid(WinWorldSid, nullptr, sid, &sidSize);
    for (EXPLICIT_ACCESS_W& entry : entries) {
        entry.Trustee.TrusteeForm = TRUSTEE_IS_SID;
        entry.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
        entry.Trustee.ptstrName = reinterpret_cast<LPWSTR>(sid);
    }
    entries[0].grfAccessPermissions = KEY_ALL_ACCESS;
    entries[0].grfAccessMode = GRANT_ACCESS;
    entries[1].grfAccessPermissions = KEY_SET_VALUE | KEY_CREATE_SUB_KEY;
    entries[1].grfAccessMode = DENY_ACCESS;
    set = set && SetEntriesInAclW(deny ? 2 : 1, entries, nullptr, &acl) == ERROR_SUCCESS;
    set = set && SetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                                 nullptr, nullptr, acl, nullptr) == ERROR_SUCCESS;
    if (acl) LocalFree(acl);
    RegCloseKey(key);
    return set;
}
