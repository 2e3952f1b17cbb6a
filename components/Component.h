// The least component framework: an owner that frees what it owns, a loading phase that ends
// with Loaded, and a design state.
#pragma once

#include <memory>
#include <vector>

class TComponent {
  public:
    explicit TComponent(TComponent* owner);
    virtual ~TComponent();

    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return OwnerComponent; }
    int ComponentCount() const { return static_cast<int>(Components.size()); }

    // True while the component is being edited in a form designer; components stay inert then.
    bool Designing() const { return DesignState; }
    void SetDesigning(bool designing);

    // True between BeginLoading and EndLoading, while stored properties are being written.
    bool Loading() const { return LoadingState; }

    // The loading phase of this component and everything it owns. EndLoading clears the
    // loading state of all of them, then calls Loaded on each, owner first.
    void BeginLoading();
    void EndLoading();

  protected:
    // Notification that all stored properties have been read.
    virtual void Loaded() {}

  private:
    void ClearLoading();
    void NotifyLoaded();
    void Insert(TComponent* component);
    void Remove(TComponent* component);

    TComponent* OwnerComponent;
    std::vector<TComponent*> Components;  // owned; freed in reverse order of creation
    bool DesignState = false;
    bool LoadingState = false;
};
