// A flag that an object clears when it dies. Thumbnails are made while
// messages go through, and one of those messages may close the window that
// owns the object; a caller that goes on after such a fill holds a token
// first and checks it on return.
#pragma once

#include <memory>

class CAliveFlag {
public:
    CAliveFlag() : m_spAlive(std::make_shared<bool>(true)) {}
    ~CAliveFlag() { *m_spAlive = false; }
    CAliveFlag(const CAliveFlag&) = delete;
    CAliveFlag& operator=(const CAliveFlag&) = delete;

    // True for as long as the owner lives.
    std::shared_ptr<bool> GetToken() const { return m_spAlive; }

private:
    std::shared_ptr<bool> m_spAlive;
};
