#include "qt/text.h"

#include <QFontMetrics>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "platform/utf8.h"

namespace kv::qt {

namespace {

// Windows-1252 at 0x80..0x9F; the five unassigned bytes keep their own code, as Windows maps them.
constexpr char16_t cp1252_high[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                      0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString decode_1252(const std::string& bytes) {
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (char ch : bytes) {
        auto c = static_cast<unsigned char>(ch);
        out += (c >= 0x80 && c < 0xA0) ? QChar(cp1252_high[c - 0x80]) : QChar(QLatin1Char(ch));
    }
    return out;
}

}  // namespace

bool is_valid_utf8(const std::string& bytes) {
    return kv::platform::is_valid_utf8(bytes);
}

QString decode_text(const std::string& bytes) {
    if (is_valid_utf8(bytes)) return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return decode_1252(bytes);
}

QString decode_lines(const std::string& bytes) {
    QString t = decode_text(bytes);
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

std::string encode_text(const QString& text) {
    return text.toUtf8().toStdString();
}

int caret_to_qt(const std::string& bytes, int byte_pos) {
    if (byte_pos <= 0) return 0;
    auto end = std::min(static_cast<size_t>(byte_pos), bytes.size());
    // Windows-1252 text has one character per byte.
    if (!is_valid_utf8(bytes)) return static_cast<int>(end);
    int units = 0;
    for (size_t i = 0; i < end;) {
        size_t n = platform::utf8_sequence(bytes, i);
        units += n == 4 ? 2 : 1;
        i += n;
    }
    return units;
}

int caret_to_bytes(const std::string& bytes, int qt_pos) {
    if (qt_pos <= 0) return 0;
    if (!is_valid_utf8(bytes)) return std::min(qt_pos, static_cast<int>(bytes.size()));
    int units = 0;
    size_t i = 0;
    while (i < bytes.size() && units < qt_pos) {
        size_t n = platform::utf8_sequence(bytes, i);
        units += n == 4 ? 2 : 1;
        i += n;
    }
    return static_cast<int>(i);
}

QColor to_qcolor(forms::Color c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

QFont to_qfont(const forms::Font& f) {
    QFont font(decode_text(f.name));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(f.size * 96.0f / 72.0f))));
    font.setBold(f.bold);
    font.setItalic(f.italic);
    return font;
}

int drawn_width(const QFontMetrics& metrics, const QString& line) {
    return std::max(metrics.horizontalAdvance(line),
                    metrics.boundingRect(QRect(0, 0, 1 << 20, 1 << 20), 0, line).width());
}

void install_font_substitutes() {
    // Families with the widths of the Windows fonts come first, so that text sized for them still fits.
    const QStringList sans = {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                              QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans")};
    const QStringList serif = {QStringLiteral("Liberation Serif"), QStringLiteral("Tinos"),
                               QStringLiteral("Nimbus Roman"), QStringLiteral("DejaVu Serif")};
    const QStringList mono = {QStringLiteral("Liberation Mono"), QStringLiteral("Cousine"),
                              QStringLiteral("Nimbus Mono PS"), QStringLiteral("DejaVu Sans Mono")};
    for (const QString& name :
         {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("MS Sans Serif"),
          QStringLiteral("MS Shell Dlg"), QStringLiteral("MS Shell Dlg 2"), QStringLiteral("Tahoma"),
          QStringLiteral("Verdana"), QStringLiteral("Arial"), QStringLiteral("Segoe UI"),
          QStringLiteral("Trebuchet MS"), QStringLiteral("Lucida Sans Unicode")})
        QFont::insertSubstitutions(name, sans);
    for (const QString& name :
         {QStringLiteral("Times New Roman"), QStringLiteral("MS Serif"), QStringLiteral("Georgia")})
        QFont::insertSubstitutions(name, serif);
    for (const QString& name : {QStringLiteral("Courier New"), QStringLiteral("Courier"),
                                QStringLiteral("Lucida Console"), QStringLiteral("Consolas")})
        QFont::insertSubstitutions(name, mono);
}

Qt::Alignment horizontal(forms::Alignment a) {
    switch (a) {
        case forms::Alignment::right:
            return Qt::AlignRight;
        case forms::Alignment::center:
            return Qt::AlignHCenter;
        case forms::Alignment::left:
            break;
    }
    return Qt::AlignLeft;
}

}  // namespace kv::qt
