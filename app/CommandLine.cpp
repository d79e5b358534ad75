#include "app/CommandLine.h"

#include <vector>

#include "platform/Text.h"
#include "switch/SwitchWorker.h"

namespace {

enum SwitchName { NAME_MODE, NAME_RESTORE, NAME_ORIGINAL, NAME_KEEP, NAME_QUIET, NAME_USAGE, NAME_OLD, NAME_UNKNOWN };

constexpr char16_t kCreateLog[] = u"/CreateLog";
constexpr char16_t kApply[] = u"/apply";

const struct {
    const char16_t* text;
    SwitchName name;
} kSwitchNames[] = {
    {u"mode", NAME_MODE},     {u"restore", NAME_RESTORE}, {u"original", NAME_ORIGINAL}, {u"keep", NAME_KEEP}, {u"quiet", NAME_QUIET},
    {u"createlog", NAME_OLD}, {u"apply", NAME_OLD},       {u"?", NAME_USAGE},
};

// Blank-separated words; a pair of quotation marks keeps blanks in a word.
std::vector<String16> Words(StringView16 line)
{
    std::vector<String16> words;
    String16 word;
    bool quoted = false;
    bool inWord = false;
    for (char16_t c : line) {
        if (c == u'"') {
            quoted = !quoted;
            inWord = true;
        } else if ((c == u' ' || c == u'\t') && !quoted) {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) words.push_back(word);
    return words;
}

// "/CreateLog" and "/apply" act as exact substrings wherever they stand, so
// a word that holds one is never "not understood".
SwitchName NameOf(const String16& word)
{
    if (word.find(kCreateLog) != String16::npos || word.find(kApply) != String16::npos) return NAME_OLD;
    if (word.size() < 2 || (word[0] != u'/' && word[0] != u'-')) return NAME_UNKNOWN;
    StringView16 name = StringView16(word).substr(1);
    for (const auto& entry : kSwitchNames) {
        if (EqualsNoCase(name, entry.text)) return entry.name;
    }
    return NAME_UNKNOWN;
}

// One action at most; a second one makes the line not understood.
void SetAction(CommandLine* command, CommandAction action)
{
    command->action = command->action == COMMAND_NONE ? action : COMMAND_BAD;
}

}  // namespace

CommandLine ParseCommandLine(StringView16 line)
{
    CommandLine command;
    command.createLog = line.find(kCreateLog) != StringView16::npos;
    command.apply = line.find(kApply) != StringView16::npos;
    bool usage = false;
    bool bad = false;
    std::vector<String16> words = Words(line);
    for (size_t i = 0; i < words.size(); ++i) {
        switch (NameOf(words[i])) {
        case NAME_MODE: {
            bool digit = i + 1 < words.size() && words[i + 1].size() == 1 && words[i + 1][0] >= u'1' &&
                         words[i + 1][0] <= u'3';
            if (!digit) {
                bad = true;
                break;
            }
            command.mode = words[++i][0] - u'1';
            SetAction(&command, COMMAND_MODE);
            break;
        }
        case NAME_RESTORE: SetAction(&command, COMMAND_RESTORE); break;
        case NAME_ORIGINAL: SetAction(&command, COMMAND_ORIGINAL); break;
        case NAME_KEEP: SetAction(&command, COMMAND_KEEP); break;
        case NAME_QUIET: command.quiet = true; break;
        case NAME_OLD: break;
        case NAME_USAGE: usage = true; break;
        case NAME_UNKNOWN: bad = true; break;
        }
    }
    if (bad || command.action == COMMAND_BAD) {
        command.action = COMMAND_BAD;
    } else if (usage) {
        command.action = COMMAND_USAGE;
    }
    return command;
}

int SwitchExitCode(int progressResult, DWORD failedItems)
{
    if (progressResult == PROGRESS_BUSY) return EXIT_RUNNING;
    if (failedItems != 0 || progressResult == PROGRESS_NOT_RUN || progressResult == PROGRESS_NOT_KEPT) {
        return EXIT_ITEMS_FAILED;
    }
    return progressResult == PROGRESS_SIGN_OUT ? EXIT_AFTER_SIGN_IN : EXIT_DONE;
}
