#pragma once
// The player control with its play/position strip.
#include <memory>

#include "framework/core/movie.h"
#include "framework/ui/rect_control.h"

class MoviePlayer : public RectControl {
    TW_CLASS_INFO
  public:
    MoviePlayer();
    ~MoviePlayer() override;
    void Constructor() override;
    std::shared_ptr<::Movie> Movie() const;
    // Nil unloads (the file is let go at once); a file rewritten under the same name plays anew.
    void SetMovie(std::shared_ptr<::Movie> movie);
    // Starts the loaded movie; does nothing without one.
    void Play();
    bool IsPlaying() const;

  protected:
    QWidget* CreateWidget(QWidget* parent) override;

  private:
    // Loads the movie's file afresh (or nothing for Nil), so a rewritten file plays anew.
    void Load();
    struct Playback;
    std::unique_ptr<Playback> playback_;
    std::shared_ptr<::Movie> movie_;
};
