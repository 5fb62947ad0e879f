#pragma once

#include <QByteArray>
#include <QList>

// Decoded dialogue lines, one per phrase, as single-byte text.
using EdtText = QList<QByteArray>;
