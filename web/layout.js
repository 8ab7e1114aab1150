// The canvas and the tool bar laid out for the window. Loaded in the page's head, so that
// the layout is there before the first paint: a resize observer's first call comes after the
// first layout and before the first paint, and again before the paint after every change of
// the window's size (full screen too).
(function () {
  'use strict';

  // The canvas takes the largest area of the picture's aspect; the tool bar goes below it,
  // or in a column at its buttons' width beside it (a long result cut short), wherever that
  // area leaves it room; beside it, the canvas keeps to the window's middle as far as the
  // bar allows. Only where neither has room (a window of the picture's own shape) the
  // canvas leaves the bar a line below.
  function fit() {
    const canvas = document.getElementById('screen');
    const stage = document.getElementById('stage');
    const bar = document.getElementById('bar');
    const whole = document.getElementById('whole');
    const result = document.getElementById('result');
    if (!canvas || !stage || !bar || !whole || !result) return;
    const width = document.documentElement.clientWidth;
    const height = document.documentElement.clientHeight;
    let scale = Math.min(width / 640, height / 480);
    document.body.dataset.bar = 'below';
    bar.style.width = '';
    stage.style.marginLeft = '';
    if (!document.fullscreenElement) {
      const free = { right: width - Math.floor(640 * scale), below: height - Math.floor(480 * scale) };
      if (bar.offsetHeight > free.below) {
        document.body.dataset.bar = 'beside';
        const widest = Math.max(...[...bar.children].filter((item) => item !== result)
          .map((item) => item.offsetWidth));
        const barWidth = widest + 12;
        if (barWidth <= free.right) {
          bar.style.width = barWidth + 'px';
          stage.style.marginLeft = Math.min(barWidth, free.right - barWidth) + 'px';
        } else {
          document.body.dataset.bar = 'below';
          scale = Math.min(width / 640, (height - bar.offsetHeight) / 480);
        }
      }
    }
    if (whole.checked && scale >= 1) scale = Math.floor(scale);
    canvas.style.width = Math.floor(640 * scale) + 'px';
    canvas.style.height = Math.floor(480 * scale) + 'px';
  }

  new ResizeObserver(fit).observe(document.documentElement);
  document.addEventListener('fullscreenchange', fit);
  window.quenfordLayout = { fit };
})();
