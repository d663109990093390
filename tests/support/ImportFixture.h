#pragma once

#include "exchange/UddfFileImport.h"
#include "logbook/Carnet.h"
#include "support/ContextFixture.h"

#include <QBuffer>

// A logbook to import exchange files into, over a ContextFixture.
class ImportFixture : public ContextFixture {
protected:
    std::unique_ptr<Carnet> carnet;

    void SetUp() override
    {
        ContextFixture::SetUp();
        carnet = std::make_unique<Carnet>(*context);
    }

    uddffileimport::Outcome import(QIODevice& device, const ImportProgress& progress = {})
    {
        return uddffileimport::importDevice(*carnet, device, progress);
    }

    uddffileimport::Outcome import(QByteArray bytes, const ImportProgress& progress = {})
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        return import(buffer, progress);
    }

    // The last dive after importing bytes the test expects to be accepted.
    Plongee imported(const QByteArray& bytes)
    {
        const auto outcome = import(bytes);
        EXPECT_TRUE(outcome.ok) << outcome.error.toStdString();
        return carnet->count() ? carnet->dives().last() : Plongee();
    }
};
