// The owner-frees-what-it-owns lifetime and the loading phase of every component.
#include "components/Component.h"

#include <algorithm>

TComponent::TComponent(TComponent* owner) : OwnerComponent(owner) {
    if (OwnerComponent != nullptr) {
        OwnerComponent->Insert(this);
        DesignState = OwnerComponent->DesignState;
    }
}

TComponent::~TComponent() {
    // Free the owned components newest first, as they were created on top of each other.
    while (!Components.empty()) {
        TComponent* last = Components.back();
        Components.pop_back();
        last->OwnerComponent = nullptr;
        delete last;
    }
    if (OwnerComponent != nullptr) {
        OwnerComponent->Remove(this);
    }
}

void TComponent::SetDesigning(bool designing) {
    DesignState = designing;
    for (TComponent* component : Components) {
        component->SetDesigning(designing);
    }
}

void TComponent::BeginLoading() {
    LoadingState = true;
    for (TComponent* component : Components) {
        component->BeginLoading();
    }
}

void TComponent::EndLoading() {
    ClearLoading();
    NotifyLoaded();
}

void TComponent::ClearLoading() {
    LoadingState = false;
    for (TComponent* component : Components) {
        component->ClearLoading();
    }
}

void TComponent::NotifyLoaded() {
    Loaded();
    for (TComponent* component : Components) {
        component->NotifyLoaded();
    }
}

void TComponent::Insert(TComponent* component) {
    Components.push_back(component);
}

void TComponent::Remove(TComponent* component) {
    Components.erase(std::remove(Components.begin(), Components.end(), component),
                     Components.end());
}
