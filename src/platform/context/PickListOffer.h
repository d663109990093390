#pragma once

#include "platform/context/PickLists.h"

#include <QString>

class AlertPresenter;
class Localizer;
class SettingsStore;

// Offers to add the text typed into a combo box to the pick-list the combo
// box is bound to. Nothing is offered for a text that is empty once its
// spaces are trimmed, nor for a text the list already holds exactly. When
// the user was asked, the list is sorted and written back to the store
// whatever the answer. Returns true when the text was added.
//
// Storing the form into the selected record afterwards is the caller's.
bool offerToAddToPickList(PickLists& pickLists, PickListId id, const QString& typedText,
                          SettingsStore& store, AlertPresenter& alerts,
                          const Localizer& localizer);
