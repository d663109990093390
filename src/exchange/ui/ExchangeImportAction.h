#pragma once

#include <QString>

class Carnet;
class QWidget;

// The list window's import commands (UDDF, UDCF, handheld logbook): an open
// panel for one file, then the import of whatever format the file's content
// shows, with a progress window that can cancel it (nothing is appended
// then). A refused file, or one that holds no dive, is explained in a
// message box naming the line and column of the fault; the logbook is left
// as it was.
struct ExchangeImportKind {
    QString title;  // "Import UDCF"
    QString filter; // "UDCF files (*.udcf *.xml *.txt)"
};
void importExchangeFileInteractively(QWidget* parent, Carnet& carnet, const ExchangeImportKind& kind);
