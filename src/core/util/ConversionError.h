#pragma once
#include <QString>
#include <stdexcept>

namespace tavrola {

// A text that does not convert to a number. Carries the message the user sees, worded
// like the platform's own conversion errors.
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

    static ConversionError notFloat(const QString& text)
    {
        return ConversionError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    }
    static ConversionError notInteger(const QString& text)
    {
        return ConversionError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    }

private:
    QString message_;
};

}  // namespace tavrola
