// The optional diagnostic log: UTF-16LE lines appended to a file in the
// public user folder, shared by every run of the tool on the machine.
#pragma once

#include "fw/File.h"
#include "fw/StringFormat.h"

inline constexpr char16_t kLogPath[] = u"C:\\Users\\Public\\CorvelChg.log";

class CErrorLog : public CFile {
public:
    explicit CErrorLog(BOOL enabled) : m_bLogEnabled(enabled), m_writeLock(Plat().sync) {}
    ~CErrorLog() override;

    void OpenLog();
    template <class... Args>
    void WriteLog(const char16_t* format, const Args&... args)
    {
        if (!m_bLogEnabled) return;
        WriteLine(FormatText(format, {FormatArg(args)...}));
    }
    void CloseLog();

    BOOL m_bLogEnabled;

private:
    void WriteLine(StringView16 message);
    bool WriteText(StringView16 text);

    // Serialises the writes of all processes that log at once, where the
    // file system does not make appends atomic by itself (Wine).
    ScopedMutex m_writeLock;
};
