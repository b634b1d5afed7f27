// addprinter: gives a Wine prefix a PostScript printer that prints into a file, with no
// printer, CUPS or lpr attached.
//
//     addprinter UNIX_FILE
//
// The printer "PostScript to File" uses Wine's PostScript driver (wineps.drv) with the
// generic PPD that Wine's spooler carries as a resource, the print processor winprint
// (the driver writes finished PostScript, a RAW job) and the port LPT1:, which Wine's
// spooler sends to UNIX_FILE through HKCU\Software\Wine\Printing\Spooler. It becomes
// the default printer. A document that names its own output file (DOCINFO.lpszOutput)
// goes there instead. Running it again changes nothing but the file of LPT1:.
#include <windows.h>
#include <winspool.h>

#include <stdio.h>
#include <string.h>

namespace {

const char szPrinter[] = "PostScript to File";
const char szDriver[] = "Wine PostScript Driver";
const char szPort[] = "LPT1:";

int Fail(const char* pszWhat)
{
    fprintf(stderr, "addprinter: %s failed (error %lu)\n", pszWhat, GetLastError());
    return 1;
}

// Writes the generic PPD of Wine's spooler (resource PPDFILE 1 of winspool.drv) to
// pszPath; the resource may end in NULs, which are not part of it.
BOOL WriteGenericPPD(const char* pszPath)
{
    HMODULE hSpool = LoadLibraryExA("winspool.drv", NULL, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC hRes = hSpool != NULL ? FindResourceA(hSpool, MAKEINTRESOURCEA(1), "PPDFILE") : NULL;
    HGLOBAL hData = hRes != NULL ? LoadResource(hSpool, hRes) : NULL;
    if (hData == NULL)
        return FALSE;
    const char* pPPD = static_cast<const char*>(LockResource(hData));
    DWORD nSize = SizeofResource(hSpool, hRes);
    if (const void* pEnd = memchr(pPPD, 0, nSize))
        nSize = (DWORD)(static_cast<const char*>(pEnd) - pPPD);
    HANDLE hFile = CreateFileA(pszPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    DWORD nWritten = 0;
    BOOL bOK = WriteFile(hFile, pPPD, nSize, &nWritten, NULL) && nWritten == nSize;
    CloseHandle(hFile);
    return bOK;
}

BOOL MapPortToFile(const char* pszUnixFile)
{
    HKEY hKey;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\Printing\\Spooler", 0, NULL, 0, KEY_SET_VALUE,
                        NULL, &hKey, NULL) != ERROR_SUCCESS)
        return FALSE;
    LONG nResult = RegSetValueExA(hKey, szPort, 0, REG_SZ, (const BYTE*)pszUnixFile, (DWORD)strlen(pszUnixFile) + 1);
    RegCloseKey(hKey);
    return nResult == ERROR_SUCCESS;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        fprintf(stderr, "usage: addprinter UNIX_FILE\n");
        return 2;
    }
    if (!MapPortToFile(argv[1]))
        return Fail("mapping the port to the file");

    char szPPD[MAX_PATH];
    UINT nLen = GetSystemDirectoryA(szPPD, MAX_PATH);
    if (nLen == 0 || nLen + sizeof("\\generic.ppd") > MAX_PATH)
        return Fail("GetSystemDirectory");
    strcat(szPPD, "\\generic.ppd");
    if (!WriteGenericPPD(szPPD))
        return Fail("writing the generic PPD");

    DRIVER_INFO_3A di = {};
    di.cVersion = 3;
    di.pName = (LPSTR)szDriver;
    di.pDriverPath = (LPSTR)"wineps.drv";
    di.pConfigFile = (LPSTR)"wineps.drv";
    di.pDataFile = szPPD;
    di.pDefaultDataType = (LPSTR)"RAW";
    if (!AddPrinterDriverExA(NULL, 3, (BYTE*)&di, APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY)
        && GetLastError() != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED)
        return Fail("AddPrinterDriverEx");

    PRINTER_INFO_2A pi = {};
    pi.pPrinterName = (LPSTR)szPrinter;
    pi.pDriverName = (LPSTR)szDriver;
    pi.pPortName = (LPSTR)szPort;
    pi.pPrintProcessor = (LPSTR)"winprint";
    pi.pDatatype = (LPSTR)"RAW";
    pi.pParameters = pi.pShareName = pi.pSepFile = (LPSTR)"";
    HANDLE hPrinter = AddPrinterA(NULL, 2, (BYTE*)&pi);
    if (hPrinter != NULL)
        ClosePrinter(hPrinter);
    else if (GetLastError() != ERROR_PRINTER_ALREADY_EXISTS)
        return Fail("AddPrinter");
    if (!SetDefaultPrinterA(szPrinter))
        return Fail("SetDefaultPrinter");
    return 0;
}
