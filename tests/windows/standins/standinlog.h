// What the stand-ins of the screen readers share: every call they take is appended as one UTF-8
// line "<screen reader> <call> <text>" to the file that TESSARO_STANDIN_LOG names.
#include <windows.h>

#include <stdio.h>

static void logCall(const char *reader, const char *call, const wchar_t *text)
{
    wchar_t path[MAX_PATH];
    if (!GetEnvironmentVariableW(L"TESSARO_STANDIN_LOG", path, MAX_PATH))
        return;
    char utf8[4096] = "";
    if (text)
        WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, NULL, NULL);
    FILE *file = _wfopen(path, L"ab");
    if (!file)
        return;
    fprintf(file, "%s %s %s\n", reader, call, utf8);
    fclose(file);
}
