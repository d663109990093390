#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QPdfWriter;

// A PDF made in memory on A4 paper, with the program as its creator and the
// title given: `write` lays out and paints the pages and says whether it
// succeeded. Empty when it did not.
QByteArray pdfBytes(const QString& title, const std::function<bool(QPdfWriter&)>& write);
