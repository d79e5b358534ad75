#include "log/ErrorLog.h"

namespace {

constexpr char16_t kWriteLockName[] = u"CorvelChangeMutex_Log";
constexpr DWORD kWriteLockWait = 2000;  // a stuck writer must not stop the tool

constexpr char16_t kSeparator[] =
    u"---------------------------------------------------------------------------\r\n";

// "%m/%d %H:%M:%S", or empty when the local time is not known.
String16 TimeStamp()
{
    LocalTime now{};
    if (!Plat().clock.Now(&now)) return String16();
    auto two = [](int n) {
        String16 s;
        s += static_cast<char16_t>(u'0' + (n / 10) % 10);
        s += static_cast<char16_t>(u'0' + n % 10);
        return s;
    };
    return two(now.month) + u"/" + two(now.day) + u" " + two(now.hour) + u":" + two(now.minute) + u":" +
           two(now.second);
}

}  // namespace

CErrorLog::~CErrorLog() { CloseLog(); }

void CErrorLog::OpenLog()
{
    if (!m_bLogEnabled) return;
    DWORD error = 0;
    if (Open(kLogPath, !GetStatus(kLogPath), &error)) {
        // Another run's lock is the one wanted, so "already exists" is no
        // fault; without a lock each line is still written, unlocked.
        (void)m_writeLock.Create(kWriteLockName, false);
        return;
    }
    String16 description = Plat().files.ErrorText(error);
    if (description.empty()) return;
    String16 text = Format(u"Cannot open the Logfile[%s].: %s", kLogPath, description);
    Plat().windows.ShowMessageBox(nullptr, text.c_str(), u"LogFileError", MB_ICONWARNING);
    // Logging stays enabled: the first write then fails and turns it off.
}

// The file was opened for appending, so each line goes to the end as it is
// at that moment, whoever else writes to the file.
bool CErrorLog::WriteText(StringView16 text)
{
    DWORD error = 0;
    static_assert(sizeof(char16_t) == 2);
    HANDLE lock = m_writeLock.Get();
    DWORD waited = lock ? Plat().sync.Wait(lock, kWriteLockWait) : WAIT_FAILED;
    bool written = Write(text.data(), static_cast<DWORD>(text.size() * 2), &error);
    if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) Plat().sync.Release(lock);
    if (written) return true;
    Close();
    m_bLogEnabled = FALSE;
    return false;
}

void CErrorLog::WriteLine(StringView16 message)
{
    String16 line = Format(u"[%s][%s.exe]", TimeStamp(), u"CorvelChg");
    line += message;
    line += u"\r\n";
    WriteText(line);
}

void CErrorLog::CloseLog()
{
    if (!m_bLogEnabled) return;
    WriteText(kSeparator);
    Close();
}
