#include "cConfigComparison.h"

cConfigComparison::cConfigComparison(const cModuleConfig &file, const cModuleConfig &module)
    : m_file(file)
    , m_module(module)
{
    const QList<configRow_t> fileRows = file.rows();
    const QList<configRow_t> moduleRows = module.rows();
    // The identity: shown, told apart, never written.
    for (int i = 0; i < 4; ++i)
        m_rows << configDiff_t{configParam_t(), QString(), fileRows[i].name, fileRows[i].text,
                               moduleRows[i].text, fileRows[i].text != moduleRows[i].text};
    for (const configParam_t &p : cModuleConfig::parameters()) {
        if (!file.hasValue(p))
            continue;
        const bool known = module.hasValue(p);
        m_rows << configDiff_t{p, p.key, p.name, file.text(p), known ? module.text(p) : QString(),
                               known && file.value(p) != module.value(p)};
    }
}

cConfigComparison::match_t cConfigComparison::match() const
{
    if (m_file.type() != m_module.type())
        return OtherType;
    return m_file.variant() == m_module.variant() ? SameKind : OtherVariant;
}

QString cConfigComparison::mismatchText() const
{
    switch (match()) {
    case OtherType:
        return tr("The file is for a %1, the module is a %2.").arg(m_file.typeText(), m_module.typeText());
    case OtherVariant:
        return tr("The file is for variant %1, the module is variant %2.")
            .arg(m_file.variantText(), m_module.variantText());
    case SameKind:
        break;
    }
    return QString();
}

bool cConfigComparison::shares(const configParam_t &param) const
{
    return param.scope != configScope_t::PtSensor || m_file.isPt100() == m_module.isPt100();
}

QList<configDiff_t> cConfigComparison::differences() const
{
    QList<configDiff_t> list;
    for (const configDiff_t &row : m_rows)
        if (row.differs && !row.key.isEmpty())
            list << row;
    return list;
}
