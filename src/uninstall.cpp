// SPDX-License-Identifier: GPL-3.0-or-later
// The uninstaller that the list of installed programs, winget and management tools run, and whose end
// they take for the uninstall's. NSIS's own uninstaller cannot remove its file while it runs, and so
// goes on from a copy of itself and returns at once. This one runs that copy itself, waits for it,
// and ends with its status; the copy takes this one's file away as well, which a running program may
// be moved but not deleted (data/windows/sorvanto.nsi). Windows' own calls only: it stays small.
#include <initializer_list>
#include <windows.h>

namespace {

// What follows the program's own name on its command line, as it came.
const wchar_t* arguments(const wchar_t* line) {
    const bool quoted = *line == L'"';
    for (line += quoted; *line && *line != (quoted ? L'"' : L' '); ++line) {
    }
    for (line += *line == L'"'; *line == L' '; ++line) {
    }
    return line;
}

wchar_t folder[MAX_PATH];
wchar_t uninstaller[MAX_PATH + 32];
wchar_t temp[MAX_PATH];
wchar_t copy[MAX_PATH + 48];
wchar_t line[32768];

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const DWORD length = ::GetModuleFileNameW(nullptr, folder, MAX_PATH);
    if (length == 0 || length == MAX_PATH) return int(::GetLastError());
    *::wcsrchr(folder, L'\\') = L'\0';
    ::wsprintfW(uninstaller, L"%s\\sorvanto-uninstall.exe", folder);
    ::GetTempPathW(MAX_PATH, temp);
    ::wsprintfW(copy, L"%ssorvanto-uninstall-%lu.exe", temp, ::GetCurrentProcessId());
    if (!::CopyFileW(uninstaller, copy, FALSE)) return int(::GetLastError());
    // The folder goes last on the command line, as NSIS wants it; the copy does not copy itself again.
    const wchar_t* rest = arguments(::GetCommandLineW());
    if (::lstrlenW(copy) + ::lstrlenW(rest) + ::lstrlenW(folder) + 8 > int(sizeof line / sizeof *line))
        return ERROR_BAD_ARGUMENTS;
    for (const wchar_t* part :
         {L"\"", static_cast<const wchar_t*>(copy), L"\" ", rest, L" _?=", static_cast<const wchar_t*>(folder)})
        ::lstrcatW(line, part);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    DWORD status = 0;
    if (!::CreateProcessW(copy, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        status = ::GetLastError();
    } else {
        ::WaitForSingleObject(process.hProcess, INFINITE);
        ::GetExitCodeProcess(process.hProcess, &status);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    ::DeleteFileW(copy);
    return int(status);
}
