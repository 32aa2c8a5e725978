// A temporary working folder for tests that load or write files: the test
// changes into it and everything in it is removed afterwards.
#pragma once

#include <string>

class TempFolder {
  public:
    TempFolder();  // creates the folder and makes it the working folder
    ~TempFolder(); // returns to the old working folder and removes this one
    const std::string& path() const { return path_; }

    // Writes `bytes` to a file (creating parent folders) relative to the folder.
    void writeFile(const std::string& relative, const std::string& bytes) const;

  private:
    std::string path_;
    std::string previous_;
};

// The source tree's root, which holds Media/.
std::string sourceDir();
