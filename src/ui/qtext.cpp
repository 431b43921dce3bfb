#include "ui/qtext.h"

#include <QFile>
#include <QLineEdit>
#include <QStringDecoder>
#include <QValidator>

namespace kvx {

namespace {

class Latin1Validator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& /*pos*/) const override {
        for (const QChar c : input)
            if (c.unicode() > 0xFF)
                return Invalid;
        return Acceptable;
    }
};

std::string bytesOf(const QByteArray& bytes) {
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace

QString toQString(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string fromQString(const QString& text) {
    return bytesOf(text.toLatin1());
}

QString toQPath(const std::string& path) {
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

std::string fromQPath(const QString& path) {
    return bytesOf(QFile::encodeName(path));
}

QString toDisplayText(const std::string& text) {
    const QByteArrayView bytes(text.data(), static_cast<qsizetype>(text.size()));
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString shown = utf8.decode(bytes);
    if (utf8.hasError())
        shown = QString::fromLatin1(bytes);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

void latin1Only(QLineEdit* box) {
    box->setValidator(new Latin1Validator(box));
}

} // namespace kvx
