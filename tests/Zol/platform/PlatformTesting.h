#pragma once

#include "ServiceAvailability.h"

#include <QString>
#include <QTest>

#include <expected>

namespace zol {

// How QCOMPARE shows an availability that differs.
inline char* toString(const ServiceAvailability& availability)
{
    return QTest::toString(
        QString((availability.found ? QStringLiteral("found ") : QStringLiteral("missing ")) +
                availability.implementation + QStringLiteral(" — ") + availability.reason));
}

namespace test {

// Why a grab was refused; empty when it was not.
inline QString refusal(const std::expected<void, QString>& grabbed)
{
    return grabbed ? QString() : grabbed.error();
}

} // namespace test

} // namespace zol
