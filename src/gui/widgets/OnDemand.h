#pragma once

#include <functional>

// A window made the first time it is wanted, so that a start builds only what the first
// window shows. Its maker makes it (a child of the main window, which owns it) and wires
// it up.
template <typename Window>
class OnDemand
{
public:
    void setMaker(std::function<Window *()> maker) { m_maker = std::move(maker); }

    Window *get()
    {
        if (!m_window && m_maker)
            m_window = m_maker();
        return m_window;
    }
    bool isMade() const { return m_window != nullptr; }

private:
    std::function<Window *()> m_maker;
    Window *m_window = nullptr;
};
