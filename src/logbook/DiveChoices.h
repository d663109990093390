#pragma once

#include <QList>
#include <QString>

// The fixed choice lists of the dive form: each item carries the tag that
// is stored in the dive. Item texts are keys of the "Carnet" text table
// (the English table gives the words shown; a missing translation shows
// the key itself).
struct DiveChoice {
    int tag;
    const char* text;
};

namespace divechoices {

// The items of a choice field, in display order; empty for a field that is
// no choice list.
const QList<DiveChoice>& items(int fieldIndex);

// The wind sector, wind force and coordinate-system lists are loaded by
// position: their item tags equal their positions.
bool loadsByPosition(int fieldIndex);

// The display position of the item holding the tag (or, for the lists
// loaded by position, the tag itself when such a position exists); -1 when
// no item matches, so an unknown stored value shows no item.
int positionOf(int fieldIndex, int tag);

} // namespace divechoices
