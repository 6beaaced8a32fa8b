// Holds a file open, as a spreadsheet or a viewer holding a user's file does, until its
// standard input closes. Usage: zr415-holdopen PATH SHARING, where SHARING holds the letters
// r, w and d for the access it lets others have, or "-" for none. Prints "open" once it holds it.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    DWORD share = 0;
    for (const char* c = argv[2]; *c; ++c) {
        if (*c == 'r')
            share |= FILE_SHARE_READ;
        else if (*c == 'w')
            share |= FILE_SHARE_WRITE;
        else if (*c == 'd')
            share |= FILE_SHARE_DELETE;
    }
    HANDLE file = CreateFileA(argv[1], GENERIC_READ, share, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    std::puts("open");
    std::fflush(stdout);
    char buffer[64];
    while (std::fread(buffer, 1, sizeof buffer, stdin) > 0) {
    }
    CloseHandle(file);
    return 0;
}
