#include "TerminalOutput.h"

#include "support/PlainText.h"

namespace zol::cli {

TerminalOutput::TerminalOutput(std::FILE* stream)
    : m_stream(stream)
{
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

TerminalOutput::~TerminalOutput()
{
    if (!m_pending.isEmpty())
        std::fwrite(m_pending.constData(), 1, size_t(m_pending.size()), m_stream);
    std::fflush(m_stream);
}

qint64 TerminalOutput::readData(char*, qint64)
{
    return -1;
}

qint64 TerminalOutput::writeData(const char* data, qint64 size)
{
    QByteArray bytes = m_pending + QByteArray(data, size);
    m_pending.clear();
    // A C1 control is two bytes in UTF-8, 0xC2 and one more: a write that
    // ends between them waits for the next.
    if (bytes.endsWith('\xC2')) {
        m_pending = bytes.right(1);
        bytes.chop(1);
    }
    const QByteArray safe = PlainText::forTerminal(bytes);
    if (std::fwrite(safe.constData(), 1, size_t(safe.size()), m_stream) != size_t(safe.size()))
        return -1;
    std::fflush(m_stream);
    return size;
}

} // namespace zol::cli
