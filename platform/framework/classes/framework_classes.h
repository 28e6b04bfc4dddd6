// The framework's own classes that form resources can name.
#pragma once
void RegisterFrameworkClasses();
