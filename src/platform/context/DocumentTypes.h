#pragma once

#include <QList>
#include <QString>

// The ten kinds of document. Files and commands name a type by its stable
// id; the type name (localised for four types) is only shown to the user,
// so a missing or changed translation never stops a file from opening.
enum class DocumentKind {
    Logbook,
    Papers,
    Equipment,
    Rebreather,
    Consumables,
    Compressor,
    Wrecks,
    Budget,
    Firms,
    Structures,
};

struct DocumentType {
    DocumentKind kind;
    QString id;             // stable, written into every file: "logbook", "wrecks", ...
    QString typeName;       // "Carnet de plongee", "Epaves", ...
    bool localisedName;     // the shown name is the localised text of typeName (table "Main")
    QString documentClass;  // Carnet, RepEpaves, ...
    QString recordClass;    // Plongee, Epaves, ...
    QString windowName;     // "Carnet", "Epaves", ...
    QString newCommand;     // newCarnetDocumentMenuAction:, ...
    QString fileSuffix;     // suggested file name suffix
};

class Localizer;

class DocumentTypes {
public:
    static const QList<DocumentType>& all();
    static const DocumentType& of(DocumentKind kind);
    static const DocumentType* byId(const QString& id);
    // The type name as the user sees it.
    static QString displayName(const DocumentType& type, const Localizer& localizer);
};
