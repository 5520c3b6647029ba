#include "PasswordHash.h"

#include <openssl/evp.h>
#include <QRandomGenerator>
#include <QStringList>

namespace {

const QString kScheme = QStringLiteral("pbkdf2-sha256");
// About a quarter of a second on the cashier's machine: slow for guessing, quick for a login.
constexpr int kIterations = 200000;
constexpr int kSaltBytes = 16;
constexpr int kKeyBytes = 32;

QByteArray derive(const QString& password, const QByteArray& salt, int iterations)
{
    const QByteArray utf8 = password.toUtf8();
    QByteArray key(kKeyBytes, Qt::Uninitialized);
    if (PKCS5_PBKDF2_HMAC(utf8.constData(), int(utf8.size()),
                          reinterpret_cast<const unsigned char*>(salt.constData()), int(salt.size()),
                          iterations, EVP_sha256(), kKeyBytes,
                          reinterpret_cast<unsigned char*>(key.data())) != 1)
        return QByteArray();
    return key;
}

// Takes as long whatever the first differing byte is.
bool sameBytes(const QByteArray& a, const QByteArray& b)
{
    if (a.isEmpty() || a.size() != b.size())
        return false;
    unsigned char diff = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        diff |= static_cast<unsigned char>(a[i] ^ b[i]);
    return diff == 0;
}

} // namespace

QString PasswordHash::make(const QString& password)
{
    if (password.isEmpty())
        return QString();
    QByteArray salt(kSaltBytes, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(salt.data()), kSaltBytes / 4);
    return QStringList{kScheme, QString::number(kIterations), QString::fromLatin1(salt.toBase64()),
                       QString::fromLatin1(derive(password, salt, kIterations).toBase64())}
        .join(QLatin1Char('$'));
}

bool PasswordHash::matches(const QString& password, const QString& stored)
{
    if (stored.isEmpty())
        return password.isEmpty();
    const QStringList parts = stored.split(QLatin1Char('$'));
    bool ok = false;
    const int iterations = parts.value(1).toInt(&ok);
    if (parts.size() != 4 || parts.at(0) != kScheme || !ok || iterations <= 0)
        return false;
    const QByteArray salt = QByteArray::fromBase64(parts.at(2).toLatin1());
    const QByteArray key = QByteArray::fromBase64(parts.at(3).toLatin1());
    return sameBytes(derive(password, salt, iterations), key);
}
