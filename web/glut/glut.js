// The program's imports from the page: the window's events and the terminal.
// The page script (web/page/page.js) defines agvPage before the program starts.
mergeInto(LibraryManager.library, {
  dispatchCreateWindow: function(title, width, height) {
    agvPage.createWindow(UTF8ToString(title), width, height);
  },
  dispatchRequestedRaster: function() {
    return agvPage.requestedRaster();
  },
  dispatchPostRedisplay: function() {
    agvPage.postRedisplay();
  },
  dispatchArmTimer: function(slot, milliseconds) {
    agvPage.armTimer(slot, milliseconds);
  },
  dispatchElapsedMilliseconds: function() {
    return agvPage.elapsedMilliseconds();
  },
  dispatchStartWindow: function() {
    agvPage.startWindow();
  },
  terminalWrite: function(text, length) {
    agvPage.terminalWrite(UTF8Decoder.decode(HEAPU8.subarray(text, text + length)));
  },
  terminalDiscardInput: function() {
    agvPage.discardInput();
  },
  // Both wait for the person at the terminal, the program's stack saved meanwhile.
  terminalReadKey__sig: 'ii',
  terminalReadKey: function(enterAnswers) {
    return Asyncify.handleSleep(function(wakeUp) {
      agvPage.readKey(enterAnswers !== 0, wakeUp);
    });
  },
  // Standard input is the terminal's line discipline; no other descriptor is read.
  fd_read__sig: 'iiiii',
  fd_read: function(fd, iov, iovcnt, pnum) {
    return Asyncify.handleSleep(function(wakeUp) {
      if (fd !== 0) {
        HEAP32[pnum >> 2] = 0;
        wakeUp(0);
        return;
      }
      var capacity = 0;
      for (var i = 0; i < iovcnt; i++) capacity += HEAP32[(iov + 8 * i + 4) >> 2];
      agvPage.readBytes(capacity, function(bytes) {
        var taken = 0;
        for (var i = 0; i < iovcnt && taken < bytes.length; i++) {
          var at = HEAP32[(iov + 8 * i) >> 2], room = HEAP32[(iov + 8 * i + 4) >> 2];
          var n = Math.min(room, bytes.length - taken);
          HEAPU8.set(bytes.subarray(taken, taken + n), at);
          taken += n;
        }
        HEAP32[pnum >> 2] = taken;
        wakeUp(0);
      });
    });
  },
});
