// The Windows work of the sign-in run ("/apply") and nothing else: the floor
// that the run's own code is measured against. It reads "AppliedDPI", reads
// and writes the window metrics with the flags the tool uses, and deletes
// the Run value.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    DWORD dpi = 0;
    DWORD size = sizeof(dpi);
    RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop\\WindowMetrics", L"AppliedDPI", RRF_RT_REG_DWORD,
                 nullptr, &dpi, &size);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof(metrics), &metrics, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
    }
    HKEY run = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0, KEY_SET_VALUE,
                      &run) == ERROR_SUCCESS) {
        RegDeleteValueW(run, L"CorvelChg");
        RegCloseKey(run);
    }
    return 0;
}
