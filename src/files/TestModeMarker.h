#pragma once

#include <QByteArrayView>
#include <QString>

// Test mode is on when the marker text holds the word "TEST_ENABLE" on its own,
// separated by white space; case and neighbouring letters matter.
bool markerEnablesTestMode(QByteArrayView text);
// False when the marker file is missing, is not a regular file or cannot be read. Only
// its first 64 KiB are looked at.
bool readTestModeMarker(const QString &path);
