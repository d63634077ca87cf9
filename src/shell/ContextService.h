#pragma once
// A service one subsystem offers the others through the AppContext: it takes
// its slot in the context when made and leaves it when its owner goes.
#include "shell/AppContext.h"

#include <QObject>

template <class Interface>
class ContextService : public QObject, public Interface {
public:
    using Slot = Interface *AppContext::*;

    ContextService(AppContext &ctx, Slot slot, QObject *owner) : QObject(owner), m_ctx(ctx), m_slot(slot)
    {
        m_ctx.*m_slot = this;
    }
    ~ContextService() override
    {
        if (m_ctx.*m_slot == this)
            m_ctx.*m_slot = nullptr;
    }

protected:
    AppContext &m_ctx;

private:
    const Slot m_slot;
};
