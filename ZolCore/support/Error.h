#pragma once

#include <QByteArray>
#include <QException>
#include <QString>

namespace zol {

// The one base of every failure Zol throws: a message and nothing clever.
// It derives from QException so that a failure raised on a QtConcurrent worker
// reaches the waiting thread with its own type (each subclass overrides raise()
// and clone() through ErrorOf).
class Error : public QException
{
public:
    explicit Error(QString message);

    const QString& message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

    void raise() const override { throw *this; }
    Error* clone() const override { return new Error(*this); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// Base for typed errors: `class SyncError final : public ErrorOf<SyncError> {...}`.
template <typename Derived, typename Base = Error>
class ErrorOf : public Base
{
public:
    using Base::Base;

    void raise() const override { throw static_cast<const Derived&>(*this); }
    Error* clone() const override { return new Derived(static_cast<const Derived&>(*this)); }
};

} // namespace zol
