#pragma once

#include "platform/StyledText.h"

#include <QByteArray>
#include <QPageLayout>

class QFont;
class QTextDocument;

// Shows a styled text in a QTextDocument, which windows display and print
// and which the command line writes to PDF.
namespace styledtext {

// Replaces the document's content by the text, in the font given.
void fill(QTextDocument& document, const StyledText& text, const QFont& font);

// The text as a PDF on A4 paper in the orientation given, with margins in
// millimetres; empty when it could not be made.
QByteArray pdf(const StyledText& text, QPageLayout::Orientation orientation, const QMarginsF& marginsMm,
               const QString& title = {});

} // namespace styledtext
