#pragma once

// A recursive lock: the thread that holds it may enter it again. One per plug-in object
// (and one per process-wide cache). Critical section on Windows, recursive mutex elsewhere.
class ParameterLock
{
public:
  ParameterLock();
  ~ParameterLock();
  ParameterLock(const ParameterLock&) = delete;
  ParameterLock& operator=(const ParameterLock&) = delete;

  void Enter();
  void Leave();

private:
  alignas(8) unsigned char storage[64];
};

// Holds a ParameterLock for the lifetime of the guard.
class LockGuard
{
public:
  explicit LockGuard(ParameterLock& l) : lock(l) { lock.Enter(); }
  ~LockGuard() { lock.Leave(); }
  LockGuard(const LockGuard&) = delete;
  LockGuard& operator=(const LockGuard&) = delete;

private:
  ParameterLock& lock;
};
