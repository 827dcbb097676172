// Installs, in the running Wine prefix, a PostScript printer whose jobs each land in a file of
// their own, and makes it the default printer. Run once per session:
//   pagewick_e2e_printer.exe "PRINTER NAME" "PORT COMMAND"
// PORT COMMAND is what Wine's spooler runs for every job with the PostScript on its standard
// input, e.g. "|sh /path/save-job.sh /path/jobs". Exit code 0 on success.
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <string>

namespace {

int Fail(const char* step) {
    std::fprintf(stderr, "install printer: %s failed (error %lu)\n", step, GetLastError());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s PRINTER-NAME PORT-COMMAND\n", argv[0]);
        return 2;
    }
    const std::string name = argv[1], command = argv[2];
    const char kDriver[] = "Wine PostScript Driver";
    const char kPort[] = "LPT1:";

    // Every job to the port goes to the command.
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\Printing\\Spooler", 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return Fail("opening the spooler key");
    const LONG set = RegSetValueExA(key, kPort, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                                    static_cast<DWORD>(command.size() + 1));
    RegCloseKey(key);
    if (set != ERROR_SUCCESS) return Fail("mapping the port");

    // The PPD winspool carries, copied to the driver folder.
    char dir[MAX_PATH] = {};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof dir, &needed))
        return Fail("GetPrinterDriverDirectory");
    HMODULE spool = LoadLibraryExA("winspool.drv", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!spool) return Fail("loading winspool.drv");
    HRSRC res = FindResourceA(spool, MAKEINTRESOURCEA(1), "PPDFILE");
    HGLOBAL data = res ? LoadResource(spool, res) : nullptr;
    const void* bytes = data ? LockResource(data) : nullptr;
    if (!bytes) return Fail("finding the PPD");
    const std::string ppd = std::string(dir) + "\\pagewick-test.ppd";
    HANDLE file = CreateFileA(ppd.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return Fail("writing the PPD");
    DWORD written = 0;
    const BOOL wrote = WriteFile(file, bytes, SizeofResource(spool, res), &written, nullptr);
    CloseHandle(file);
    if (!wrote) return Fail("writing the PPD");

    DRIVER_INFO_3A driver = {};
    driver.cVersion = 3;
    driver.pName = const_cast<char*>(kDriver);
    driver.pDriverPath = const_cast<char*>("wineps.drv");
    driver.pConfigFile = const_cast<char*>("wineps.drv");
    driver.pDataFile = const_cast<char*>("pagewick-test.ppd");
    if (!AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_NEW_FILES))
        return Fail("AddPrinterDriverEx");

    PRINTER_INFO_2A info = {};
    info.pPrinterName = const_cast<char*>(name.c_str());
    info.pPortName = const_cast<char*>(kPort);
    info.pDriverName = const_cast<char*>(kDriver);
    info.pPrintProcessor = const_cast<char*>("WinPrint");
    info.pDatatype = const_cast<char*>("RAW");
    HANDLE printer = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (!printer) {
        if (GetLastError() != ERROR_PRINTER_ALREADY_EXISTS) return Fail("AddPrinter");
    } else {
        ClosePrinter(printer);
    }
    if (!SetDefaultPrinterA(name.c_str())) return Fail("SetDefaultPrinter");
    std::printf("printer \"%s\" installed, jobs go to %s\n", name.c_str(), command.c_str());
    return 0;
}
