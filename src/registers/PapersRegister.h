#pragma once

#include "registers/RegisterDescription.h"

namespace diversdocs {

// The register of papers: attestations, certifications, medical
// certificates, invoices, licences and others, with their dates and the
// picture of each paper; its three-page form, the list's columns and the
// texts of table "Documents".
const registers::RegisterDescription& description();

} // namespace diversdocs
