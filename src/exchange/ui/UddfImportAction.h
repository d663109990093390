#pragma once

class Carnet;
class QWidget;

// The list window's "Import UDDF" command: an open panel for one file, then
// the import with a progress window that can cancel it (nothing is
// appended then). A refused file is explained in a message box naming the
// line and column of the fault; the logbook is left as it was.
void importUddfInteractively(QWidget* parent, Carnet& carnet);
