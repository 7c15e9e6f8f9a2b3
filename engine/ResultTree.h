#pragma once
// The map hands its results to a tree and its advance to a progress bar through these two
// small interfaces; the main window lends Qt-backed ones, tests and the command line the
// in-memory ones below.

#include <string>
#include <vector>

class ResultTree {
  public:
    virtual ~ResultTree() = default;
    virtual int NodeCount() const = 0;  // all nodes, top-level and children
    virtual void Clear() = 0;
    virtual int AddRoot(const std::string& text) = 0;  // returns the root's index
    virtual void AddChild(int root, const std::string& text) = 0;
};

class MemoryResultTree : public ResultTree {
  public:
    struct Node {
        std::string text;
        std::vector<std::string> children;
    };

    int NodeCount() const override;
    void Clear() override { roots.clear(); }
    int AddRoot(const std::string& text) override;
    void AddChild(int root, const std::string& text) override;

    std::vector<Node> roots;
};

class ProgressSink {
  public:
    virtual ~ProgressSink() = default;
    virtual int Max() const = 0;
    virtual void SetMax(int max) = 0;
    virtual int Position() const = 0;
    virtual void SetPosition(int position) = 0;
    void Advance(int by = 1) { SetPosition(Position() + by); }
};

class MemoryProgress : public ProgressSink {
  public:
    int Max() const override { return max_; }
    void SetMax(int max) override { max_ = max; }
    int Position() const override { return position_; }
    void SetPosition(int position) override { position_ = position; }

  private:
    int max_ = 100;
    int position_ = 0;
};
