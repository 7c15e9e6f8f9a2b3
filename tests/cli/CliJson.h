#pragma once
// The JSON object a command printed, failing the test when it does not parse.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/CliRun.h"

namespace testing_support {

inline QJsonObject Json(const CliRun& r) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(r.out), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << r.out;
    return doc.object();
}

}  // namespace testing_support
