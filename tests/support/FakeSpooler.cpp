#include "FakeSpooler.h"

namespace {

class FakePrinter final : public PrinterHandle
{
public:
    FakePrinter(FakeSpooler& spooler, const QString& name) : m_spooler(spooler), m_name(name)
    {
        ++m_spooler.openHandles;
        ++m_spooler.opens;
    }
    ~FakePrinter() override { --m_spooler.openHandles; }

    bool readState(quint32& status, QList<Job>& jobs) override
    {
        const FakeSpooler::Printer& p = printer();
        if (p.stateUnreadable)
            return false;
        status = p.status;
        jobs = p.jobs;
        return true;
    }

    bool startDocument(const QString& name) override
    {
        m_document = FakeSpooler::Document{m_name, name, {}};
        return !printer().startFails;
    }

    void write(const QByteArray& bytes) override { m_document.bytes += bytes; }

    bool endDocument() override
    {
        if (printer().endFails)
            return false;
        m_spooler.documents << m_document;
        return true;
    }

private:
    const FakeSpooler::Printer& printer() const { return m_spooler.printers[m_name]; }

    FakeSpooler& m_spooler;
    QString m_name;
    FakeSpooler::Document m_document;
};

} // namespace

std::unique_ptr<PrinterHandle> FakeSpooler::open(const QString& name)
{
    if (!printers.contains(name))
        return nullptr;
    return std::make_unique<FakePrinter>(*this, name);
}
