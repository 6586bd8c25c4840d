#pragma once
#include <cstdint>
#include <new>

// The one list container of the program (measurements, calibrations, thumbnails).
//
// There is no head or tail pointer: the chain keeps a single cursor, `current`,
// and walks it to the first or last node when an operation needs one. Where the
// cursor ends up after each operation is part of the contract; callers read
// `current` right after calling.
//
// T is a record that carries its own list fields:
//   std::int32_t id;     identity of the node
//   std::int32_t index;  0-based position, valid after Renumber
//   T* prev; T* next;    links, null at the ends
// The chain owns its nodes (heap T) and frees them. Copying a record into the
// chain uses T's copy constructor, which must copy any memory the record owns.
//
// Operations return 1 for success and 0 for failure unless said otherwise.
template <typename T>
class CTChain {
public:
    T* current = nullptr;   // null exactly when the chain is empty
    std::int32_t count = 0; // number of nodes

    CTChain() = default;
    CTChain(const CTChain&) = delete;
    CTChain& operator=(const CTChain&) = delete;

    // Slot 0: appends `node` after the last node; the chain takes ownership.
    // A null node adds nothing.
    virtual int AddNode(T* node) {
        MoveLast();
        return InsertNode(node);
    }

    // Slot 1: appends a copy of `record` after the last node.
    virtual int AddRecord(const T& record) {
        MoveLast();
        return InsertRecord(record);
    }

    // Slot 2: links `node` directly after the cursor and makes it the cursor;
    // the chain takes ownership. A null node adds nothing.
    virtual int InsertNode(T* node) {
        if (node == nullptr)
            return 0;
        if (current == nullptr) {
            node->prev = nullptr;
            node->next = nullptr;
            current = node;
            count = 1;
            return 1;
        }
        ++count;
        node->prev = current;
        node->next = current->next;
        if (node->next != nullptr)
            node->next->prev = node;
        current->next = node;
        current = node;
        return 1;
    }

    // Slot 3: links a full copy of `record` after the cursor, as InsertNode does.
    // When the copy cannot be allocated nothing is added.
    virtual int InsertRecord(const T& record) {
        T* node = nullptr;
        try {
            node = new T(record);
        } catch (const std::bad_alloc&) {
            return 0;
        }
        // The copy still points at the source's neighbours.
        node->prev = nullptr;
        node->next = nullptr;
        return InsertNode(node);
    }

    virtual ~CTChain() { RemoveAll(); }

    // Cursor on the first node; 0 when empty.
    int MoveFirst() {
        if (current == nullptr)
            return 0;
        while (current->prev != nullptr)
            current = current->prev;
        return 1;
    }

    // Cursor on the last node; 0 (and nothing moved) when empty.
    int MoveLast() {
        if (current == nullptr)
            return 0;
        while (current->next != nullptr)
            current = current->next;
        return 1;
    }

    // Cursor on the node at 0-based position n. When there is no such node
    // (n < 0 or n >= count) returns 0 with the cursor on the last node.
    int MoveTo(std::int32_t n) {
        if (MoveFirst() == 0)
            return 0;
        if (n < 0) {
            MoveLast();
            return 0;
        }
        for (std::int32_t i = 0; i < n; ++i) {
            if (current->next == nullptr)
                return 0;
            current = current->next;
        }
        return 1;
    }

    // Cursor on the first node (from the front) whose id matches; when none
    // matches returns 0 with the cursor on the last node.
    int MoveToId(std::int32_t id) {
        if (MoveFirst() == 0)
            return 0;
        for (;;) {
            if (current->id == id)
                return 1;
            if (current->next == nullptr)
                return 0;
            current = current->next;
        }
    }

    // Unlinks and frees the cursor node. The cursor moves to its successor,
    // or to its predecessor when it was the last node. 0 when empty.
    int RemoveCurrent() {
        T* node = current;
        if (node == nullptr)
            return 0;
        if (node->prev == nullptr && node->next == nullptr) {
            count = 0;
            current = nullptr;
            delete node;
            return 1;
        }
        --count;
        if (node->prev != nullptr)
            node->prev->next = node->next;
        if (node->next != nullptr)
            node->next->prev = node->prev;
        current = node->next != nullptr ? node->next : node->prev;
        delete node;
        return 1;
    }

    // Frees every node; the chain is empty afterwards.
    void RemoveAll() {
        while (RemoveCurrent() != 0) {
        }
    }

    // Writes index 0, 1, 2, ... from the first node on; the cursor stays on
    // the node it was on. 0 when empty.
    int Renumber() {
        T* const keep = current;
        if (MoveFirst() == 0)
            return 0;
        std::int32_t index = 0;
        for (T* node = current; node != nullptr; node = node->next)
            node->index = index++;
        current = keep;
        return 1;
    }

    std::int32_t GetCount() const { return count; }
};
