#include "settings/cp932.h"

#include <cerrno>
#include <iconv.h>
#include <memory>

namespace {

struct Converter {
    iconv_t handle;
    Converter(const char *to, const char *from) : handle(iconv_open(to, from)) {}
    ~Converter()
    {
        if (handle != iconv_t(-1))
            iconv_close(handle);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;
};

// Converts all of in; on a sequence it cannot convert, either gives up
// (replacement empty) or writes the replacement and skips one input unit.
std::optional<QByteArray> convert(const char *to, const char *from, const QByteArray &in, int unit,
                                  const QByteArray &replacement)
{
    Converter c(to, from);
    if (c.handle == iconv_t(-1))
        return std::nullopt;
    QByteArray out;
    out.resize(in.size() * 2 + 16);
    char *src = const_cast<char *>(in.constData());
    size_t srcLeft = size_t(in.size());
    size_t written = 0;
    while (srcLeft > 0) {
        char *dst = out.data() + written;
        size_t dstLeft = size_t(out.size()) - written;
        const size_t r = iconv(c.handle, &src, &srcLeft, &dst, &dstLeft);
        written = size_t(out.size()) - dstLeft;
        if (r != size_t(-1))
            break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
        } else if (replacement.isEmpty() || srcLeft < size_t(unit)) {
            return std::nullopt;
        } else {
            out.truncate(qsizetype(written));
            out += replacement;
            out.resize(out.size() + qsizetype(srcLeft) * 2 + 16);
            written += size_t(replacement.size());
            src += unit;
            srcLeft -= size_t(unit);
        }
    }
    out.truncate(qsizetype(written));
    return out;
}

} // namespace

std::optional<QString> decodeCp932(const QByteArray &bytes)
{
    const auto utf16 = convert("UTF-16LE", "CP932", bytes, 1, {});
    if (!utf16)
        return std::nullopt;
    return QString(reinterpret_cast<const QChar *>(utf16->constData()), utf16->size() / 2);
}

QByteArray encodeCp932(const QString &text)
{
    const QByteArray utf16(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    return convert("CP932", "UTF-16LE", utf16, 2, QByteArrayLiteral("?")).value_or(QByteArray());
}
