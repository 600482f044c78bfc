#pragma once

#include <QByteArrayView>
#include <QString>

// Test mode is on when the marker text holds the word "TEST_ENABLE" on its own,
// separated by white space; case and neighbouring letters matter.
bool markerEnablesTestMode(QByteArrayView text);
// False when the marker file is missing or cannot be read. Reads in pieces, so a long
// file or a long word costs no more than its bytes.
bool readTestModeMarker(const QString &path);
