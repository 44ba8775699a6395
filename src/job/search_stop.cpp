#include "search_stop.h"

namespace balance4::job {

namespace {

thread_local const std::atomic<bool>* g_flag = nullptr;

}  // namespace

StopScope::StopScope(const std::atomic<bool>& flag) : m_outer(g_flag) {
    g_flag = &flag;
}

StopScope::~StopScope() {
    g_flag = m_outer;
}

const std::atomic<bool>* StopFlag() {
    return g_flag;
}

}  // namespace balance4::job
