#pragma once

#include "registers/RegisterDescription.h"

#include <QString>
#include <optional>

class Localizer;
class RegisterForm;

namespace budget {

// The budget forecast: offers of services with their supplements and card
// formulas, their three-page form, the list's columns and the texts of
// table "Budget".
const registers::RegisterDescription& description();

// The figures the form computes as the diver types: the total of lines 0
// to 4 (quantity times unit price, line 5 left out) and the unit price of
// a card formula (1 to 4), nothing below one unit.
double total(const RegisterForm& form);
std::optional<double> cardUnitPrice(const RegisterForm& form, int card);

// A price as the form, the list and the synthesis show it: with its cents.
QString priceText(double price);

} // namespace budget
