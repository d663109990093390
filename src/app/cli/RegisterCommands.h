#pragma once

#include "app/cli/CliSession.h"

#include <QStringList>

class RegisterDocument;
namespace registers {
struct RegisterDescription;
}

namespace cli {

// A register opened for one command, through the register's own document
// and form.
class RegisterSession : public DocumentSession {
public:
    RegisterSession(Io& io, const QString& settingsPath, const registers::RegisterDescription& reg);
    ~RegisterSession() override;
    RegisterDocument& document() { return *m_document; }

private:
    bool openDocument(const QString& path, QString* error) override;
    int recordCount() const override;
    void selectOnly(int row) override;
    SaveResult saveDocument(const QString& path) override;

    std::unique_ptr<RegisterDocument> m_document;
};

// The register a file holds; nothing for a logbook or for a file whose
// header cannot be read (the logbook's commands then say why).
const registers::RegisterDescription* registerOfFile(const QString& path);

// Runs add, insert, update, delete, list, sort or show on a register file (the
// first argument); returns the exit status.
int runRegisterCommand(const QString& command, const registers::RegisterDescription& reg, const QStringList& args,
                       const QString& settingsPath, Io& io);

} // namespace cli
