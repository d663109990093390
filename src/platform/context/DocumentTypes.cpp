#include "platform/context/DocumentTypes.h"

#include "platform/Localizer.h"

const QList<DocumentType>& DocumentTypes::all()
{
    static const QList<DocumentType> types = {
        {DocumentKind::Logbook, QStringLiteral("logbook"), QStringLiteral("Carnet de plongee"), true,
         QStringLiteral("Carnet"), QStringLiteral("Plongee"), QStringLiteral("Carnet"),
         QStringLiteral("newCarnetDocumentMenuAction:"), QStringLiteral("ondrix")},
        {DocumentKind::Papers, QStringLiteral("papers"), QStringLiteral("Divers documents"), true,
         QStringLiteral("DiversDocuments"), QStringLiteral("DiversDocs"), QStringLiteral("Documents"),
         QStringLiteral("newDocumentDocumentMenuAction:"), QStringLiteral("ondrix-papers")},
        {DocumentKind::Equipment, QStringLiteral("equipment"), QStringLiteral("Materiel"), true,
         QStringLiteral("InvMateriel"), QStringLiteral("Materiel"), QStringLiteral("Materiel"),
         QStringLiteral("newMaterielDocumentMenuAction:"), QStringLiteral("ondrix-equipment")},
        {DocumentKind::Rebreather, QStringLiteral("rebreather"), QStringLiteral("Rebreather"), true,
         QStringLiteral("RebreatherServ"), QStringLiteral("Rebreather"), QStringLiteral("Rebreather"),
         QStringLiteral("newRebreatherDocumentMenuAction:"), QStringLiteral("ondrix-rebreather")},
        {DocumentKind::Consumables, QStringLiteral("consumables"), QStringLiteral("Consommables"), false,
         QStringLiteral("InvConso"), QStringLiteral("Consommables"), QStringLiteral("Consommables"),
         QStringLiteral("newConsommablesDocumentMenuAction:"), QStringLiteral("ondrix-consumables")},
        {DocumentKind::Compressor, QStringLiteral("compressor"), QStringLiteral("Compresseur"), false,
         QStringLiteral("MaintComp"), QStringLiteral("Compresseur"), QStringLiteral("Compresseur"),
         QStringLiteral("newCompresseurDocumentMenuAction:"), QStringLiteral("ondrix-compressor")},
        {DocumentKind::Wrecks, QStringLiteral("wrecks"), QStringLiteral("Epaves"), false,
         QStringLiteral("RepEpaves"), QStringLiteral("Epaves"), QStringLiteral("Epaves"),
         QStringLiteral("newEpavesDocumentMenuAction:"), QStringLiteral("ondrix-wrecks")},
        {DocumentKind::Budget, QStringLiteral("budget"), QStringLiteral("Budget"), false,
         QStringLiteral("PreviBudget"), QStringLiteral("Budget"), QStringLiteral("Budget"),
         QStringLiteral("newBudgetDocumentMenuAction:"), QStringLiteral("ondrix-budget")},
        {DocumentKind::Firms, QStringLiteral("firms"), QStringLiteral("Entreprises"), false,
         QStringLiteral("AdressesEts"), QStringLiteral("Entreprises"), QStringLiteral("Entreprises"),
         QStringLiteral("newEntrepriseDocumentMenuAction:"), QStringLiteral("ondrix-firms")},
        {DocumentKind::Structures, QStringLiteral("structures"), QStringLiteral("Structures"), false,
         QStringLiteral("AdressesStruct"), QStringLiteral("Structures"), QStringLiteral("Structures"),
         QStringLiteral("newStructureDocumentMenuAction:"), QStringLiteral("ondrix-structures")},
    };
    return types;
}

const DocumentType& DocumentTypes::of(DocumentKind kind)
{
    for (const DocumentType& t : all())
        if (t.kind == kind)
            return t;
    Q_UNREACHABLE();
}

const DocumentType* DocumentTypes::byId(const QString& id)
{
    for (const DocumentType& t : all())
        if (t.id == id)
            return &t;
    return nullptr;
}

QString DocumentTypes::displayName(const DocumentType& type, const Localizer& localizer)
{
    // The non-localised names are French words; the tables carry a shown
    // name for them too, falling back to the type name itself.
    return localizer.text(type.typeName, QStringLiteral("Main"), type.typeName);
}
