#pragma once

#include <QString>

#include <stdexcept>

// A statement the database refused, with the database's own description.
class DbError : public std::runtime_error
{
public:
    explicit DbError(const QString& description)
        : std::runtime_error(description.toStdString()), m_description(description)
    {
    }
    const QString& description() const { return m_description; }

private:
    QString m_description;
};
