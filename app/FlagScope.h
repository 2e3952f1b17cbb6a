// TFlagScope: sets a flag for the length of a scope, and clears it however the scope ends.
#pragma once

class TFlagScope {
  public:
    explicit TFlagScope(bool& flag) : Flag(flag) { Flag = true; }
    ~TFlagScope() { Flag = false; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

  private:
    bool& Flag;
};
