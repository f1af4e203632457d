#pragma once
#include "Object.h"

#include <map>
#include <typeindex>
#include <utility>

// Temporary wrapper objects of one thread: what FromHandle hands out for a handle that has no
// permanent object (a window, a DC, a GDI object, a menu, an image list).
//
// A temporary borrows its handle: it is never the handle's owner, and releasing it clears the handle
// before deleting the wrapper, so the handle survives. Temporaries live until the thread's idle round
// frees them (the UI thread) or until the thread exits; a caller never keeps one across messages.

class CTempObjectMap {
public:
    CTempObjectMap() = default;
    ~CTempObjectMap() { DeleteTemp(); }
    CTempObjectMap(const CTempObjectMap&) = delete;
    CTempObjectMap& operator=(const CTempObjectMap&) = delete;

    // The temporary T for handle h, made on first request. Field is the wrapper's handle member
    // (&CWnd::m_hWnd, &CGdiObject::m_hObject, ...). NULL for a NULL handle.
    template <class T, auto Field, class H>
    T* FromHandle(H h) {
        if (h == nullptr)
            return nullptr;
        const Key key{std::type_index(typeid(T)), reinterpret_cast<const void*>(h)};
        auto it = m_objects.find(key);
        if (it != m_objects.end())
            return static_cast<T*>(it->second.pObject);
        T* pObject = new T;
        pObject->*Field = h;
        m_objects.emplace(key, Entry{pObject, &Release<T, Field>});
        return pObject;
    }

    // Frees every temporary (their handles are left alone).
    void DeleteTemp() {
        auto objects = std::move(m_objects);
        m_objects.clear();
        for (auto& [key, entry] : objects)
            entry.pfnRelease(entry.pObject);
    }

private:
    using Key = std::pair<std::type_index, const void*>;
    struct Entry {
        CObject* pObject;
        void (*pfnRelease)(CObject*);
    };

    template <class T, auto Field>
    static void Release(CObject* pObject) {
        T* p = static_cast<T*>(pObject);
        p->*Field = nullptr;
        delete p;
    }

    std::map<Key, Entry> m_objects;
};
