#pragma once

#include <QString>

namespace rtf::fieldinstruction {

// The target of a HYPERLINK field instruction: its address, or "#" and the
// bookmark of a link inside the document (\l); empty for any other field.
QString hyperlinkTarget(const QString& instruction);

// The instruction that makes a field a hyperlink to `target`.
QString hyperlinkInstruction(const QString& target);

}  // namespace rtf::fieldinstruction
