#include "ui/model/CircuitDocument.h"

#include "editor/CircuitFile.h"

namespace Fasoria {

void CircuitDocument::markSaved(const QString &path, const QByteArray &bytes)
{
    m_path = path;
    m_savedSnapshot = bytes;
    m_modified = false;
}

void CircuitDocument::markNeverSaved()
{
    m_path.clear();
    m_savedSnapshot.clear();
    m_modified = true;
}

void CircuitDocument::keepAsSaved(const Circuit *working)
{
    if (working) {
        markSaved(m_path, serializeCircuit(*working));
    }
}

void CircuitDocument::clear()
{
    m_path.clear();
    m_savedSnapshot.clear();
    m_modified = false;
}

void CircuitDocument::recompute(const Circuit *working)
{
    m_modified = working && (m_savedSnapshot.isEmpty() || serializeCircuit(*working) != m_savedSnapshot);
}

} // namespace Fasoria
