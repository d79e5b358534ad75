#include "fw/StringFormat.h"

namespace {

String16 Decimal(std::int64_t value)
{
    bool negative = value < 0;
    std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    char16_t digits[24];
    int n = 0;
    do {
        digits[n++] = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    String16 out;
    if (negative) out += u'-';
    while (n) out += digits[--n];
    return out;
}

}  // namespace

String16 SignedDecimal(std::int64_t value)
{
    return Decimal(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

String16 FormatText(StringView16 format, std::initializer_list<FormatArg> args)
{
    String16 out;
    auto next = args.begin();
    for (size_t i = 0; i < format.size(); ++i) {
        char16_t c = format[i];
        if (c != u'%' || i + 1 >= format.size()) {
            out += c;
            continue;
        }
        char16_t kind = format[i + 1];
        if (kind == u'%') {
            out += u'%';
            ++i;
            continue;
        }
        if ((kind != u's' && kind != u'd' && kind != u'u') || next == args.end()) {
            out += c;
            continue;
        }
        const FormatArg& arg = *next++;
        ++i;
        if (kind == u's') out += arg.Text();
        else if (kind == u'd') out += SignedDecimal(arg.Number());
        else out += Decimal(static_cast<std::uint32_t>(arg.Number()));
    }
    return out;
}
