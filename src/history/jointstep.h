#pragma once

#include <QUndoCommand>

#include <functional>
#include <utility>

namespace tarnel {

// One step made of several changes (its children), which tells `follow`
// after each undo (false) and redo (true) but the first, which is when it
// was made: the steps other documents take along with it follow it so.
class JointStep : public QUndoCommand {
public:
    JointStep(const QString& text, std::function<void(bool redone)> follow)
        : QUndoCommand(text), m_follow(std::move(follow))
    {
    }

    void undo() override
    {
        QUndoCommand::undo();
        if (m_follow)
            m_follow(false);
    }
    void redo() override
    {
        QUndoCommand::redo();
        if (m_made && m_follow)
            m_follow(true);
        m_made = true;
    }

private:
    std::function<void(bool redone)> m_follow;
    bool m_made = false;
};

} // namespace tarnel
