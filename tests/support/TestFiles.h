#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <gtest/gtest.h>

namespace testsupport {

// Writes `bytes` as `folder`/`name` and returns the file's path; a file that cannot be
// written fails the test that asked for it.
inline QString writeFile(const QString& folder, const QString& name, const QByteArray& bytes) {
    QFile file(folder + QLatin1Char('/') + name);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << file.errorString().toStdString();
    EXPECT_EQ(file.write(bytes), bytes.size());
    return file.fileName();
}

} // namespace testsupport
