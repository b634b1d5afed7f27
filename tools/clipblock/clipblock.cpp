// clipblock: the clipboard's data under formats registered by name, moved to and from
// files as bytes, for tests that need what another program may put on the clipboard.
//
//   clipblock get NAME OUT              writes the clipboard's data of format NAME to OUT
//   clipblock put NAME FILE [NAME FILE]...
//                                       empties the clipboard and puts each FILE's bytes
//                                       on it under the format NAME before it
//
// A failure gives one line on standard error and exit status 1.
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include <vector>

namespace {

int Failed(const char* pszWhat, const char* pszName)
{
    fprintf(stderr, "clipblock: %s %s\n", pszWhat, pszName);
    return 1;
}

int Get(const char* pszName, const char* pszOut)
{
    if (!OpenClipboard(NULL))
        return Failed("cannot open the clipboard for", pszName);
    HANDLE hData = GetClipboardData(RegisterClipboardFormatA(pszName));
    std::vector<char> bytes(hData != NULL ? GlobalSize(hData) : 0);
    if (hData != NULL)
    {
        memcpy(bytes.data(), GlobalLock(hData), bytes.size());
        GlobalUnlock(hData);
    }
    CloseClipboard();
    if (hData == NULL)
        return Failed("the clipboard holds no", pszName);
    FILE* pFile = fopen(pszOut, "wb");
    if (pFile == NULL || fwrite(bytes.data(), 1, bytes.size(), pFile) != bytes.size() || fclose(pFile) != 0)
        return Failed("cannot write", pszOut);
    return 0;
}

// The bytes of a file in new movable memory, or null.
HGLOBAL ReadBlock(const char* pszPath)
{
    FILE* pFile = fopen(pszPath, "rb");
    if (pFile == NULL)
        return NULL;
    std::vector<char> bytes;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pFile)) != 0;)
        bytes.insert(bytes.end(), buffer, buffer + n);
    fclose(pFile);
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes.empty() ? 1 : bytes.size());
    if (h != NULL)
    {
        memcpy(GlobalLock(h), bytes.data(), bytes.size());
        GlobalUnlock(h);
    }
    return h;
}

int Put(int nPairs, char** ppszArgs)
{
    std::vector<HGLOBAL> blocks;
    for (int i = 0; i < nPairs; ++i)
    {
        HGLOBAL h = ReadBlock(ppszArgs[2 * i + 1]);
        if (h == NULL)
            return Failed("cannot read", ppszArgs[2 * i + 1]);
        blocks.push_back(h);
    }
    if (!OpenClipboard(NULL))
        return Failed("cannot open the clipboard for", ppszArgs[0]);
    EmptyClipboard();
    int nResult = 0;
    for (int i = 0; i < nPairs && nResult == 0; ++i)
    {
        if (SetClipboardData(RegisterClipboardFormatA(ppszArgs[2 * i]), blocks[i]) == NULL)
            nResult = Failed("the clipboard refused", ppszArgs[2 * i]);
    }
    CloseClipboard();
    return nResult;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && strcmp(argv[1], "get") == 0)
        return Get(argv[2], argv[3]);
    if (argc >= 4 && argc % 2 == 0 && strcmp(argv[1], "put") == 0)
        return Put((argc - 2) / 2, argv + 2);
    fprintf(stderr, "usage: clipblock get NAME OUT\n       clipblock put NAME FILE [NAME FILE]...\n");
    return 2;
}
