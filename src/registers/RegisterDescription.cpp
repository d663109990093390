#include "registers/RegisterDescription.h"

#include "registers/BudgetRegister.h"
#include "registers/CompresseurRegister.h"
#include "registers/ConsommablesRegister.h"
#include "registers/EntreprisesRegister.h"
#include "registers/EpavesRegister.h"
#include "registers/MaterielRegister.h"
#include "registers/PapersRegister.h"
#include "registers/RebreatherRegister.h"
#include "registers/StructuresRegister.h"

namespace registers {

const RegisterDescription* descriptionOf(DocumentKind kind)
{
    switch (kind) {
    case DocumentKind::Wrecks: return &epaves::description();
    case DocumentKind::Equipment: return &materiel::description();
    case DocumentKind::Consumables: return &consommables::description();
    case DocumentKind::Compressor: return &compresseur::description();
    case DocumentKind::Rebreather: return &rebreather::description();
    case DocumentKind::Firms: return &entreprises::description();
    case DocumentKind::Structures: return &structures::description();
    case DocumentKind::Budget: return &budget::description();
    case DocumentKind::Papers: return &diversdocs::description();
    default: return nullptr;
    }
}

const RegisterDescription* descriptionOf(const QString& typeId)
{
    const DocumentType* type = DocumentTypes::byId(typeId);
    return type ? descriptionOf(type->kind) : nullptr;
}

} // namespace registers
