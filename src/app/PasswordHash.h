#pragma once

#include <QString>

// Operators' passwords are stored as salted PBKDF2-HMAC-SHA256 records (OpenSSL's, several times
// faster than Qt's own, so the same wait buys more iterations), never as typed:
// "pbkdf2-sha256$<iterations>$<salt>$<key>" (base64). The empty password is stored as the empty
// text, which is how a new database's 系统管理员 starts.
class PasswordHash final
{
public:
    static QString make(const QString& password);
    // True when the typed password is the one the stored record was made from.
    static bool matches(const QString& password, const QString& stored);
};
